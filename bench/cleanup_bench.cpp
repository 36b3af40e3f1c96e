// How long the two registry clean-ups take on a machine where every key of their lists is
// installed, each key with a small tree below it and the machine-wide product key with a large one:
// the whole clean-up with its undo file, our list walk alone, against Wine's own "reg delete /f"
// removing the same keys, one run of reg.exe per key as a help-desk script would, and, for the
// registry's own share, Wine's RegDeleteTreeA called in this process. The report has no box to
// paint, so the figures are the registry's. Prints a table; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "shell/win32_ports.h"
#include "repair/cleanup_lists.h"

namespace {

using platform::win32::unique_handle;
using unique_hkey = unique_handle<HKEY, RegCloseKey>;
using unique_process = unique_handle<HANDLE, CloseHandle>;
using unique_find = unique_handle<HANDLE, FindClose>;

HKEY RootOf(const CleanupList& list) {
  return list.root == platform::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

constexpr int kLargeTreeKeys = 10000;

// A product key as a long-used installation may leave it: one small key with a value per record.
void InstallLargeTree(HKEY root, const std::string& key) {
  for (int i = 0; i < kLargeTreeKeys; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\Record%05d", i);
    unique_hkey created;
    RegCreateKeyExA(root, (key + name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, created.put(), nullptr);
    const DWORD value = static_cast<DWORD>(i);
    RegSetValueExA(created.get(), "Serial", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
}

// Each key with the shape of a class registration below it; the regular list's product key
// holds the large tree as well.
void Install(const CleanupList& list) {
  if (list.root == kRegularUserCleanup.list.root) InstallLargeTree(RootOf(list), KeysOf(list).back());
  for (const std::string& key : KeysOf(list)) {
    for (const char* below : {"\\InprocServer32", "\\ProgID", "\\TypeLib\\1.0\\0\\win32"}) {
      unique_hkey created;
      RegCreateKeyExA(RootOf(list), (key + below).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, created.put(),
                      nullptr);
      const char value[] = "C:\\Program Files\\Veltora\\CALYRA Web 7.0\\VeltoraWebIface.dll";
      RegSetValueExA(created.get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    }
  }
}

int Remaining(const CleanupList& list) {
  int remaining = 0;
  for (const std::string& key : KeysOf(list)) {
    unique_hkey opened;
    if (RegOpenKeyExA(RootOf(list), key.c_str(), 0, KEY_READ, opened.put()) == ERROR_SUCCESS) ++remaining;
  }
  return remaining;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The clean-up as the button runs it, undo file (in undoFolder) included, or the list walk alone.
double TimeOurs(const Cleanup& cleanup, bool withUndoFile, const std::string& undoFolder) {
  Win32Ports ports;
  ReportLog report;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  if (withUndoFile) {
    RunCleanup(cleanup, ports.All(), report, undoFolder);
  } else {
    RemoveCleanupList(ports.registry, report, cleanup.list);
  }
  QueryPerformanceCounter(&end);
  return Seconds(start, end);
}

// The undo files, a few megabytes each, are not kept; their size in bytes.
double RemoveUndoFiles(const std::string& folder) {
  double bytes = 0;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\MendrelDiag-undo-*.reg").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return bytes;
  const unique_find owner(search);
  do {
    bytes += static_cast<double>(found.nFileSizeHigh) * 4294967296.0 + found.nFileSizeLow;
    DeleteFileA((folder + "\\" + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  return bytes;
}

double TimeRegDelete(const CleanupList& list) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (const std::string& key : KeysOf(list)) {
    std::string command = "reg.exe delete \"" + std::string(list.rootName) + "\\" + key + "\" /f";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // no handles: its messages would break into the table
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
      continue;
    }
    const unique_process process(info.hProcess);
    const unique_process thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
  }
  QueryPerformanceCounter(&end);
  return Seconds(start, end);
}

double TimeDeleteTree(const CleanupList& list) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (const std::string& key : KeysOf(list)) RegDeleteTreeA(RootOf(list), key.c_str());
  QueryPerformanceCounter(&end);
  return Seconds(start, end);
}

}  // namespace

int main() {
  constexpr int kRounds = 5;
  char temp[MAX_PATH + 1];
  std::string undoFolder(temp, GetTempPathA(sizeof temp, temp));
  if (undoFolder.ends_with('\\')) undoFolder.pop_back();
  std::printf("%-10s %5s %5s %15s %10s %9s %10s %16s %7s %20s\n", "clean-up", "rows", "keys", "with undo (ms)",
              "ours (ms)", "undo x", "undo (KB)", "reg delete (ms)", "ratio", "RegDeleteTree (ms)");
  for (const Cleanup* cleanup : {&kRegularUserCleanup, &kStandardUserCleanup}) {
    const CleanupList& list = cleanup->list;
    int rows = 0;
    for (const RemovalGroup& group : list.groups) rows += static_cast<int>(group.rows.size());
    const auto keys = static_cast<int>(KeysOf(list).size());
    // The best of the rounds: the machine is shared, and the registry's server now and then stops
    // everything to save the registry to disk.
    double withUndo = 1e9;
    double ours = 1e9;
    double theirs = 1e9;
    double tree = 1e9;
    double undoBytes = 0;
    // Keys a method left behind, by method: a figure only counts when its method did the whole work.
    std::string left;
    const auto check = [&](const char* method) {
      if (Remaining(list) != 0 && left.find(method) == std::string::npos) left += std::string("  (") + method + " left keys)";
    };
    for (int round = 0; round < kRounds; ++round) {
      Install(list);
      withUndo = std::min(withUndo, TimeOurs(*cleanup, true, undoFolder));
      check("with undo");
      undoBytes = RemoveUndoFiles(undoFolder);
      Install(list);
      ours = std::min(ours, TimeOurs(*cleanup, false, undoFolder));
      check("ours");
      Install(list);
      theirs = std::min(theirs, TimeRegDelete(list));
      check("reg delete");
      Install(list);
      tree = std::min(tree, TimeDeleteTree(list));
      check("RegDeleteTree");
    }
    std::printf("%-10s %5d %5d %15.1f %10.1f %9.2f %10.0f %16.1f %7.3f %20.1f%s\n",
                std::string(cleanup->kind).c_str(), rows, keys, withUndo * 1000, ours * 1000, withUndo / ours,
                undoBytes / 1024, theirs * 1000, ours / theirs, tree * 1000, left.c_str());
  }
  std::printf("regular: its product key holds %d subkeys with a value each\n", kLargeTreeKeys);
  std::printf("undo x = with undo / ours (goal: at most 1.5); ratio = ours / reg delete; best of %d rounds\n",
              kRounds);
  return 0;
}
