// The file side of the settings document: a file is refused before parsing
// when it declares a document type (entities could reach other files or
// expand without bound), and a saved document replaces its target in one
// step, so that a crash during the save never leaves a half-written file.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The file is scanned in pieces of this size.
constexpr std::size_t kScanChunkSize = 65536;

// Looks for "<!DOCTYPE" in 8-, 16- and 32-bit code units of either byte
// order. The settings writer escapes every "<" of a value, so no file it
// wrote contains that text. S_OK with found set, or the error of reading.
HRESULT FindDocumentTypeDeclaration(const std::wstring& path, bool& found);

// Creates an empty file with a unique name in the folder of target.
HRESULT CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary);

// Makes sure the file's data is on the disk before it takes the target's place.
HRESULT FlushFileToDisk(const std::wstring& path);

// Puts temporary in the place of target: ReplaceFileW when target exists,
// else a write-through move. On failure target is as it was.
HRESULT ReplaceWithTemporary(const std::wstring& temporary, const std::wstring& target);
