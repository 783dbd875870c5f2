// What the stand-in's objects share: the behaviour the test set, the record it reads
// back, the count of live objects and the strings handed out.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "standin_abi.h"
#include "standin_control.h"

namespace standin {

extern std::atomic<long> liveObjects;

// A member of every object: counts it while it lives.
struct LiveToken {
    LiveToken() { ++liveObjects; }
    ~LiveToken() { --liveObjects; }
    LiveToken(const LiveToken&) = delete;
    LiveToken& operator=(const LiveToken&) = delete;
};

StandinBehaviour Behaviour();
void SetBehaviour(const StandinBehaviour& behaviour);
void Change(const std::function<void(StandinRecord&)>& change);
StandinRecord Record();

// A new string for an [out] parameter, remembered until the caller deleted it; null
// for empty text.
HSTR Hand(const std::wstring& text);
// Deletes a string as a caller does.
void Delete(HSTR handle);
// The text of a string the caller gave.
std::wstring Text(HSTR handle);
// Strings handed out that the caller has not deleted; -1 when that cannot be told.
long LiveStrings();

// A factory for the class; REGDB_E_CLASSNOTREG for a class the stand-in lacks.
HRESULT MakeFactory(const std::wstring& className, IActivationFactoryX** factory);

}  // namespace standin
