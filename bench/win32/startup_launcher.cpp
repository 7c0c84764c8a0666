// startup_launcher.exe: starts Windows programs as the host starts a
// launcher's program, from a Windows program inside a running Wine session
// (its server and desktop up), with CreateProcess, and times each start.
//
//   startup_launcher.exe [--runs=N] [--warmup=N] [--count]
//                        NAME PROGRAM.exe ARGUMENTS TITLE [NAME ...]
//
// Each subject is four arguments: its name, its program, the program's
// arguments ("-" for none) and the title of its window; a title "-" means
// a run without a window, timed from its start to its end. The program
// starts in its own folder. A folder "pristine" beside it holds the files
// each run starts from (the exchange file, the settings file): they are
// copied back before every run, so that a run that writes them leaves the
// next one the same start.
//
// A window counts as shown when it is visible, neither it nor any of its
// controls waits to be painted, and its thread has gone idle in its message
// loop (WaitForInputIdle): the user sees it drawn. The run is then ended
// (TerminateProcess: the program writes nothing, as it writes only at its
// close).
//
// The subjects take turns: round k starts them in the order rotated by k,
// so that a change of load falls on each alike. A few rounds at the start
// are left out. Prints one line per run: "run NAME MS" ("warmup NAME MS").
//
// With --count, after the timed rounds each subject is started once more
// with WINEDEBUG=+server, which makes the Wine server trace every request
// from then on (on its own standard error). Named events mark that run in
// the trace: "orvane-bench-start NAME" before the start, and
// "orvane-bench-shown NAME pid=P tids=T,T,..." (the process's id and its
// threads' ids then, in hexadecimal) once its window is shown or it has ended; the native driver
// (dialog_startup_bench) counts the requests of those threads between them.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Subject {
  std::wstring Name;
  std::wstring Program;
  std::wstring Arguments;
  std::wstring Title;  // empty: a run without a window
};

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// Copies every file of FOLDER\pristine into FOLDER.
void PutBackInputs(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\pristine\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CopyFileW((folder + L"\\pristine\\" + found.cFileName).c_str(),
              (folder + L"\\" + found.cFileName).c_str(), FALSE);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool NeedsPaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != 0; }

BOOL CALLBACK FindUnpainted(HWND child, LPARAM result) {
  if (IsWindowVisible(child) && NeedsPaint(child)) {
    *reinterpret_cast<bool*>(result) = true;
    return FALSE;
  }
  return TRUE;
}

// Whether the process shows its window titled `title`, drawn, and waits for
// input.
bool Shown(const PROCESS_INFORMATION& process, const std::wstring& title) {
  HWND window = FindWindowW(nullptr, title.c_str());
  DWORD owner = 0;
  if (!window || !GetWindowThreadProcessId(window, &owner) || owner != process.dwProcessId ||
      !IsWindowVisible(window) || NeedsPaint(window))
    return false;
  bool unpainted = false;
  EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted && WaitForInputIdle(process.hProcess, 0) == 0;
}

std::wstring ThreadIdsOf(DWORD processId) {
  std::wstring ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 thread{};
  thread.dwSize = sizeof(thread);
  for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
    if (thread.th32OwnerProcessID != processId) continue;
    wchar_t id[16];
    std::swprintf(id, 16, L"%04lx", static_cast<unsigned long>(thread.th32ThreadID));
    if (!ids.empty()) ids += L",";
    ids += id;
  }
  CloseHandle(snapshot);
  return ids;
}

// A mark in the Wine server's trace: the creation of an event of that name.
void MarkTrace(const std::wstring& name) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
  if (event) CloseHandle(event);
}

// The environment of this process with WINEDEBUG=+server, as CreateProcess
// takes it.
std::wstring TracingEnvironment() {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* at = strings; *at; at += std::wcslen(at) + 1) {
    if (_wcsnicmp(at, L"WINEDEBUG=", 10) == 0) continue;
    block.append(at);
    block.push_back(L'\0');
  }
  FreeEnvironmentStringsW(strings);
  block.append(L"WINEDEBUG=+server");
  block.push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// One start: milliseconds from CreateProcess to the window shown (or to the
// end of a run without one); < 0 when that did not come within 60 s.
double TimeOneStart(const Subject& subject, bool traced) {
  const std::wstring folder = FolderOf(subject.Program);
  PutBackInputs(folder);
  std::wstring commandLine = L"\"" + subject.Program + L"\"";
  if (!subject.Arguments.empty()) commandLine += L" " + subject.Arguments;
  std::wstring environment = traced ? TracingEnvironment() : std::wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (traced) MarkTrace(L"orvane-bench-start " + subject.Name);
  const double start = NowMs();
  if (!CreateProcessW(subject.Program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      traced ? CREATE_UNICODE_ENVIRONMENT : 0,
                      traced ? environment.data() : nullptr, folder.c_str(), &startup, &process))
    return -1;
  double ms = -1;
  std::wstring threads;
  while (NowMs() - start < 60000) {
    if (subject.Title.empty()) {
      if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) ms = NowMs() - start;
      break;
    }
    // Idle first: until then the window cannot be drawn, and waiting costs
    // the program nothing, where looking for its window would.
    if (WaitForInputIdle(process.hProcess, 50) != 0) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
      continue;
    }
    if (Shown(process, subject.Title)) {
      ms = NowMs() - start;
      if (traced) threads = ThreadIdsOf(process.dwProcessId);
      break;
    }
    // Each look costs the server a dozen requests, which the started program
    // would wait behind: look every 2 ms, not as often as it could.
    if (WaitForSingleObject(process.hProcess, 2) == WAIT_OBJECT_0) break;
  }
  if (traced) {
    wchar_t ids[40];
    std::swprintf(ids, 40, L" pid=%04lx tids=%04lx", static_cast<unsigned long>(process.dwProcessId),
                  static_cast<unsigned long>(process.dwThreadId));
    MarkTrace(L"orvane-bench-shown " + subject.Name + ids + (threads.empty() ? L"" : L"," + threads));
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // The desktop and the server tidy up after the ended process.
  Sleep(300);
  return ms;
}

int Usage() {
  std::fprintf(stderr,
               "usage: startup_launcher.exe [--runs=N] [--warmup=N] [--count] "
               "NAME PROGRAM.exe ARGUMENTS TITLE [NAME ...]\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = 15;
  int warmup = 2;
  bool count = false;
  std::vector<std::wstring> positional;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg.rfind(L"--runs=", 0) == 0)
      runs = _wtoi(arg.c_str() + 7);
    else if (arg.rfind(L"--warmup=", 0) == 0)
      warmup = _wtoi(arg.c_str() + 9);
    else if (arg == L"--count")
      count = true;
    else
      positional.push_back(arg);
  }
  if (positional.empty() || positional.size() % 4 != 0 || runs < 1 || warmup < 0) return Usage();
  std::vector<Subject> subjects;
  for (std::size_t i = 0; i < positional.size(); i += 4) {
    auto dash = [](const std::wstring& s) { return s == L"-" ? std::wstring() : s; };
    subjects.push_back({positional[i], positional[i + 1], dash(positional[i + 2]),
                        dash(positional[i + 3])});
  }
  const std::size_t n = subjects.size();
  for (int round = 0; round < warmup + runs; ++round) {
    for (std::size_t k = 0; k < n; ++k) {
      const Subject& subject = subjects[(static_cast<std::size_t>(round) + k) % n];
      const double ms = TimeOneStart(subject, false);
      if (ms < 0) {
        std::fwprintf(stderr, L"startup_launcher: %ls did not show \"%ls\" within 60 s\n",
                      subject.Program.c_str(), subject.Title.c_str());
        return 1;
      }
      std::wprintf(L"%ls %ls %.2f\n", round < warmup ? L"warmup" : L"run", subject.Name.c_str(), ms);
      std::fflush(stdout);
    }
  }
  if (count) {
    for (const Subject& subject : subjects) {
      const double ms = TimeOneStart(subject, true);
      std::wprintf(L"counted %ls %.2f\n", subject.Name.c_str(), ms);
      std::fflush(stdout);
    }
  }
  return 0;
}
