// Reading the settings file at start and writing it at exit.
#pragma once

class CAppSetting;
class CXmlDocument;

#include <string>

// True: go on (and save at exit); false: the user refused after a question.
bool LoadSettingsAtStart();
// Raises my::CException on failure.
void SaveSettingsAtExit();

bool ReadSettings(CXmlDocument& doc, const std::wstring& path, CAppSetting& setting);
bool WriteSettings(CXmlDocument& doc, const std::wstring& path, const CAppSetting& setting);
