#pragma once

namespace shell {

// Asks the desktop to start its screen saver. The request has no outcome the program uses:
// with no screen saver configured nothing happens.
class ScreenSaver
{
public:
    virtual ~ScreenSaver() = default;
    virtual void activate() = 0;
};

// The desktop's screen saver: org.freedesktop.ScreenSaver over the session bus, and
// `xdg-screensaver activate` when no such service is there.
class SystemScreenSaver final : public ScreenSaver
{
public:
    void activate() override;
};

} // namespace shell
