#pragma once

namespace vellumar {

// Ends the program at once: the event loop stops and every window goes with
// it, without running any window's closing logic.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void end() = 0;
};

class QtProgramEnd final : public ProgramEnd {
public:
    void end() override;
};

}  // namespace vellumar
