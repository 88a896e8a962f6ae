// Reads the lines the library's log received since the capture began.
#pragma once

#include <string>
#include <vector>

namespace korven::test {

class LogCapture {
public:
    LogCapture();
    // Messages written since construction, without time stamp and line end.
    std::vector<std::string> Messages() const;
    // True when one of them equals message exactly.
    bool Contains(const std::string& message) const;

private:
    std::string path_;
    long start_ = 0;
};

}  // namespace korven::test
