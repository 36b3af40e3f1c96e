#pragma once
// The .reg repair files that the verdict writes into the current folder for a broken registration.
// Each creates or empties its file and writes it whole, or throws FileError. The paths and folders
// they insert come from the registry and are escaped so that they stay inside their quoted value.
#include "checks/check_context.h"
#include "platform/files.h"
#include "platform/system.h"
#include "repair/file_error.h"

// "PROTOCOL_Handler.reg": the s-http protocol and name-space handlers.
void WriteProtocolRepairFile(platform::FileSystem& files, platform::System& system, const DiagState& state);
// "VelUpdCtl.reg": the updater control, with the system folder as its help folder.
void WriteUpdaterRepairFile(platform::FileSystem& files, platform::System& system, const DiagState& state);
// "VeltoraWebIface_CLSID.reg": the class of the interface DLL.
void WriteInterfaceRepairFile(platform::FileSystem& files, platform::System& system, const DiagState& state);
// "VeltoraWebCore_CLSID.reg": the class of the core module.
void WriteCoreRepairFile(platform::FileSystem& files, platform::System& system, const DiagState& state);
// "VeltoraWebTray_CLSID.reg": the local-server class of the tray agent.
void WriteTrayRepairFile(platform::FileSystem& files, platform::System& system, const DiagState& state);
