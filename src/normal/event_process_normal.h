// The Normal dispatcher: one object per received Normal frame, which runs the
// handler of the frame's message id.
#pragma once

#include <cstdint>

#include "transport/frame_reader.h"

class CKorvenSignalLibApp;

class CEventProcessNormal {
public:
    explicit CEventProcessNormal(CKorvenSignalLibApp* app) : app_(app) {}
    virtual ~CEventProcessNormal() = default;

    // Runs the handler of the frame's id (b11); ids without one are dropped
    // silently.
    void Process(const korven::FrameReader& frame);

private:
    // Each takes the message id, which becomes WPARAM, and the frame from b0,
    // readable only within the bytes received.
    using Handler = void (CEventProcessNormal::*)(int id, const korven::FrameReader& frame);
    struct Route {
        uint8_t id;
        Handler handler;
    };
    static const Route* FindRoute(int id);

    void ParseNormalDgpDate(int id, const korven::FrameReader& frame);
    void ParseNormalDuration(int id, const korven::FrameReader& frame);
    void ParseNormalDgpMsg(int id, const korven::FrameReader& frame);
    void ParseNormalDgpLcd(int id, const korven::FrameReader& frame);
    void ParseNormalDgpTone(int id, const korven::FrameReader& frame);
    void ParseNormalDgpBRing(int id, const korven::FrameReader& frame);
    void ParseNormalDgpBTone(int id, const korven::FrameReader& frame);
    void ParseNormalDgpRing(int id, const korven::FrameReader& frame);
    void ParseNormalDgpInst(int id, const korven::FrameReader& frame);
    void ParseNormalDgpRingLED(int id, const korven::FrameReader& frame);
    void ParseNormalPageAll(int id, const korven::FrameReader& frame);
    void ParseNormalDspValue(int id, const korven::FrameReader& frame);

    CKorvenSignalLibApp* app_;
};
