#include "support/WinePrefix.h"

namespace e2e {

WinePrefix::WinePrefix(const xsession::XSession& session)
    : session_(session), folder_(std::make_unique<QTemporaryDir>()) {
    if (!folder_->isValid()) {
        problem_ = "cannot create a folder for the Wine prefix";
        return;
    }
    const xsession::CommandResult boot =
        Run({"wine", "wineboot", "--init"}, std::chrono::minutes(3));
    if (!boot.Succeeded()) {
        problem_ = "wineboot did not set up the prefix: " + boot.err;
        return;
    }
    WaitUntilIdle();
    if (!DriveC().exists(QStringLiteral("windows/system32"))) {
        problem_ = "the Wine prefix has no drive C: with a Windows folder";
    }
}

WinePrefix::~WinePrefix() {
    Run({"wineserver", "-k"}, std::chrono::seconds(30));
    Run({"wineserver", "-w"}, std::chrono::seconds(30));
}

QDir WinePrefix::DriveC() const {
    return QDir(folder_->filePath(QStringLiteral("drive_c")));
}

std::vector<std::string> WinePrefix::Environment() const {
    return {
        "WINEPREFIX=" + folder_->path().toStdString(),
        "WINEARCH=win64",
        "WINEDEBUG=-all",
        // No offers to install Mono or Gecko, and no menu entries on the Linux desktop.
        "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d",
        // Unix text in and out of Wine (file names, console output) is UTF-8.
        "LANG=C.UTF-8",
    };
}

xsession::CommandResult WinePrefix::Run(const std::vector<std::string>& argv,
                                        std::chrono::milliseconds timeout) const {
    return xsession::RunCommand(argv, session_.Environment(Environment()), timeout);
}

xsession::ChildProcess WinePrefix::Launch(const std::vector<std::string>& argv) const {
    return session_.Launch(argv, Environment());
}

void WinePrefix::KeepServerRunning() const {
    Run({"wineserver", "-p"});
}

void WinePrefix::WaitUntilIdle(std::chrono::milliseconds timeout) const {
    Run({"wineserver", "-w"}, timeout);
}

}  // namespace e2e
