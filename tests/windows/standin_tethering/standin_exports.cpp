// What the stand-in DLL exports: the activation entry the runtime calls for a class
// registered to it, the unload question, and the test's two control functions.
#include <mutex>

#include "standin_state.h"

namespace standin {
namespace {

std::mutex stateMutex;
StandinBehaviour behaviourNow{};
StandinRecord recordNow{};

}  // namespace

StandinBehaviour Behaviour() {
    std::lock_guard<std::mutex> lock(stateMutex);
    return behaviourNow;
}

void SetBehaviour(const StandinBehaviour& behaviour) {
    std::lock_guard<std::mutex> lock(stateMutex);
    behaviourNow = behaviour;
    recordNow = StandinRecord{};
}

void Change(const std::function<void(StandinRecord&)>& change) {
    std::lock_guard<std::mutex> lock(stateMutex);
    change(recordNow);
}

StandinRecord Record() {
    std::lock_guard<std::mutex> lock(stateMutex);
    return recordNow;
}

}  // namespace standin

extern "C" {

__declspec(dllexport) HRESULT
    __stdcall DllGetActivationFactory(standin::HSTR classId, standin::IActivationFactoryX** out) {
    if (out == nullptr)
        return E_POINTER;
    return standin::MakeFactory(standin::Text(classId), out);
}

__declspec(dllexport) HRESULT __stdcall DllCanUnloadNow() {
    return standin::liveObjects.load() == 0 ? S_OK : S_FALSE;
}

__declspec(dllexport) void __cdecl StandinSet(const StandinBehaviour* behaviour) {
    if (behaviour != nullptr)
        standin::SetBehaviour(*behaviour);
}

__declspec(dllexport) void __cdecl StandinRead(StandinRecord* record) {
    if (record == nullptr)
        return;
    *record = standin::Record();
    record->liveObjects = standin::liveObjects.load();
    record->liveStrings = standin::LiveStrings();
}
}
