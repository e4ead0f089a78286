#pragma once

class QWidget;

namespace shell {

// What the shell needs of each ordinary window (the start window and the working windows): the
// widget it shows and hides, and the window's load step with the moment it runs.
class OrdinaryWindow
{
public:
    // The start window loads before it appears: its pictures are in place when it is first
    // drawn, and a missing picture is reported with no empty window behind the box. The working
    // windows load once they are on screen, so whatever their load step opens has its window.
    enum class LoadStage { BeforeShow, AfterShow };

    virtual ~OrdinaryWindow() = default;

    virtual QWidget *widget() = 0;
    virtual LoadStage loadStage() const = 0;
    // Runs the load step (the window's Form_Load). False when the window cannot be used: the
    // user has been told and the program is ending.
    virtual bool load() = 0;
    // Readies the window, still hidden, for a switch the user is about to make (the pointer
    // rests on its picture): whatever its first showing would build, lay out or draw for the
    // first time is done now, so the switch only shows it. It changes nothing the user sees.
    virtual void prepare() {}
};

} // namespace shell
