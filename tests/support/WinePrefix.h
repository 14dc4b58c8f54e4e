#pragma once
// A Wine prefix of its own for the Windows program under test: a new, empty Windows
// installation in a temporary folder, its programs shown on the tests' X display. The
// prefix's processes are stopped and the folder removed when it goes away.
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/XSession.h"

namespace e2e {

class WinePrefix {
  public:
    // Creates the prefix and waits until Wine has set it up (wineboot).
    explicit WinePrefix(const xsession::XSession& session);
    // Stops every process of the prefix, then removes it.
    ~WinePrefix();
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    bool Ready() const { return problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    // The Windows drive C: of the prefix.
    QDir DriveC() const;

    // Runs a command in the prefix (e.g. {"wine", "reg", "query", ...}) and waits for it.
    xsession::CommandResult Run(const std::vector<std::string>& argv,
                                std::chrono::milliseconds timeout = std::chrono::seconds(60)) const;
    // Starts a program in the prefix.
    xsession::ChildProcess Launch(const std::vector<std::string>& argv) const;
    // Keeps Wine's server running between programs, as on a desktop where Wine is in use:
    // each start then pays only for the program itself.
    void KeepServerRunning() const;
    // Waits until no process of the prefix runs any more.
    void WaitUntilIdle(std::chrono::milliseconds timeout = std::chrono::seconds(90)) const;

  private:
    std::vector<std::string> Environment() const;

    const xsession::XSession& session_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::string problem_;
};

}  // namespace e2e
