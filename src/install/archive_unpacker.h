// Unpacking the application package with the bundled 7-Zip extractor: a
// generated "unzip.bat" run hidden by the system's command interpreter.
#pragma once

#include <string>

namespace kavadesk {

// Writes folder + "unzip.bat": "7za x -y " + archiveName, CR LF,
// "del /f " + archiveName, each UTF-16 code unit of the name as its low byte,
// no quoting and no line break at the end. Returns false when the file cannot
// be opened or written.
bool WriteUnzipBatch(const std::wstring& folder, const std::wstring& archiveName);

// Writes the batch file into folder, runs it hidden through SystemFolderPath()
// + "\cmd.exe" with folder as the current folder, waits for it without a time
// limit and deletes the batch file. The archive is extracted into folder,
// overwriting without a prompt, and then deleted by the batch. Nothing is
// reported: a failure shows only in the files that are missing afterwards.
void UnpackArchiveIn(const std::wstring& folder, const std::wstring& archiveName);

// UnpackArchiveIn(InstallFolder(), archiveName).
void UnpackArchive(const std::wstring& archiveName);

}  // namespace kavadesk
