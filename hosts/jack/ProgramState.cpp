// The state file and the session, driven from the JACK program's idle step. Main thread.
#include "ProgramState.h"

#include "PluginJack.h"
#include "SavedState.h"
#include "SignalRequests.h"
#include "StateFile.h"

#include <cstdio>

namespace Orvane {

ProgramState::ProgramState(PluginJack& jack, std::string path, SessionClient* session)
    : fJack(jack), fPath(std::move(path)), fSession(session), fSavedValues(currentValues())
{
    if (fSession != nullptr)
        fSession->reportGui(fJack.isEditorShown());
}

void ProgramState::idle()
{
    if (takeSaveRequest())
        saveAndReport();
    if (fSession == nullptr)
        return;
    fSession->poll(*this);
    if (currentValues() != fSavedValues)
        fSession->reportDirty(true);
    fSession->reportGui(fJack.isEditorShown());
}

bool ProgramState::saveOnExit()
{
    return fSession != nullptr || saveAndReport();
}

bool ProgramState::saveSession(std::string& error)
{
    return save(error);
}

void ProgramState::showGui(bool show)
{
    fJack.showEditor(show);
    // Answered either way: without a display the window stays hidden.
    fSession->reportGui(fJack.isEditorShown(), true);
}

std::vector<float> ProgramState::currentValues() const
{
    const PluginAdapter& plugin = fJack.adapter();
    std::vector<float> values(plugin.parameterCount());
    for (uint32_t i = 0; i < plugin.parameterCount(); ++i)
        values[i] = plugin.parameterValue(i);
    return values;
}

bool ProgramState::save(std::string& error)
{
    if (fPath.empty())
        return true;
    // Read before the bytes: a change made during the save still counts as one.
    std::vector<float> values = currentValues();
    if (!writeStateFile(fPath, buildStateBytes(fJack.adapter()), error))
        return false;
    fSavedValues = std::move(values);
    return true;
}

bool ProgramState::saveAndReport()
{
    std::string error;
    if (!save(error)) {
        std::fprintf(stderr, "vantorel: %s\n", error.c_str());
        return false;
    }
    if (fSession != nullptr)
        fSession->reportDirty(false);
    return true;
}

} // namespace Orvane
