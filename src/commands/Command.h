// Commands: everything the user triggers from the menu or the keyboard, and
// the start and exit steps of a run. A command is always invoked through Run,
// so a failing command shows its error and never ends the program.
#pragma once

namespace gvt {
class CMsg;
}

// The root interface. Commands are owned by shared pointers created from the
// concrete class, whose deleter destroys the concrete type, so no virtual
// destructor is needed.
class CCommand {
public:
    // Every caller passes true.
    virtual void Execute(bool run) = 0;

protected:
    CCommand() = default;
    CCommand(const CCommand&) = default;
    CCommand& operator=(const CCommand&) = default;
    ~CCommand() = default;
};

namespace gvt {

class CCommand : public ::CCommand {
public:
    // Execute(true) inside the error capture; a captured error is shown with
    // the message service. Nothing escapes.
    void Run() noexcept;

    CMsg& Msg() const noexcept { return *m_msg; }

protected:
    explicit CCommand(CMsg* msg) noexcept : m_msg(msg) {}
    ~CCommand() = default;

private:
    CMsg* m_msg;  // the process-wide service, not owned
};

}  // namespace gvt
