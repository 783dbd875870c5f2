// Lets a child process inherit only the handles given, not every inheritable handle of
// the program (an open journal file, another command's pipe): a process-thread
// attribute list with PROC_THREAD_ATTRIBUTE_HANDLE_LIST, Windows Vista and later,
// looked up at run time. Where the system has none, Get() is null and the child
// inherits as before.
#pragma once

#include <windows.h>

#include <vector>

namespace hs::win {

class HandleList {
  public:
    // The handles must stay open while the list is used.
    HandleList(HANDLE* handles, size_t count);
    ~HandleList();
    HandleList(const HandleList&) = delete;
    HandleList& operator=(const HandleList&) = delete;

    // For STARTUPINFOEXW::lpAttributeList, with EXTENDED_STARTUPINFO_PRESENT; null
    // when the system cannot limit what a child inherits.
    LPPROC_THREAD_ATTRIBUTE_LIST Get() const;

  private:
    void Release();

    std::vector<unsigned char> storage_;
    bool ready_ = false;
};

}  // namespace hs::win
