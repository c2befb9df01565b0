// The file side of the settings document: a file is refused before parsing
// when it declares a document type (entities could reach other files or
// expand without bound). Saving goes through base/AtomicFile.h.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The file is scanned in pieces of this size.
constexpr std::size_t kScanChunkSize = 65536;

// Looks for "<!DOCTYPE" in the prolog, that is before the root element's
// start tag and outside comments and processing instructions, in 8-, 16- and
// 32-bit code units of either byte order. S_OK with found set, or the error
// of reading.
HRESULT FindDocumentTypeDeclaration(const std::wstring& path, bool& found);
