// Frames fed by the application, waiting for the dispatch thread.
#pragma once

class CMessageQueue {
public:
    void Clear() {}
};
