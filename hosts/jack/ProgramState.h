// What the JACK program keeps beyond one run: its state file, saved on SIGUSR1 and on the way
// out, or, in a session, the session's state, saved when the session manager asks, with the
// dirty and editor-window reports the manager follows. [main-thread]: the idle step and the
// end of the run.
#pragma once

#include "SessionClient.h"

#include <string>
#include <vector>

namespace Orvane {

class PluginJack;

class ProgramState final : public SessionHost {
public:
    // `path` empty: nothing is saved. `session` null: not in a session.
    ProgramState(PluginJack& jack, std::string path, SessionClient* session);

    // Part of the idle step: a save asked for by SIGUSR1, the session's messages, and whether
    // the values or the window changed since the session last heard.
    void idle();
    // The save on the way out, outside a session (in one, ending without being asked to save
    // is how the manager discards changes). False, with one line printed, when it failed.
    bool saveOnExit();

    bool saveSession(std::string& error) override;
    void showGui(bool show) override;

private:
    PluginJack& fJack;
    std::string fPath;
    SessionClient* fSession;
    // The values as last saved or loaded, to tell when they changed.
    std::vector<float> fSavedValues;

    std::vector<float> currentValues() const;
    bool save(std::string& error);
    bool saveAndReport();
};

} // namespace Orvane
