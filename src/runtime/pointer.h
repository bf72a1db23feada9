#pragma once

namespace vellumar {

// The mouse pointer shown over every window of the program.
class MousePointer {
public:
    virtual ~MousePointer() = default;
    virtual void setBusy() = 0;
    virtual void setDefault() = 0;
};

class QtMousePointer final : public MousePointer {
public:
    void setBusy() override;
    void setDefault() override;

private:
    bool busy_ = false;
};

}  // namespace vellumar
