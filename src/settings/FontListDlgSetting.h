// Filter and display state of the font list dialog.
#pragma once

#include "settings/FieldTable.h"
#include "settings/FontEnums.h"
#include "settings/MruStrings.h"
#include "settings/WindowLayoutSetting.h"

#include <string>
#include <vector>

// A copy copies every member; the history entries are shared with the
// source, not deep-copied (the list holds shared, never-modified strings).
class CFontListDlgSetting {
public:
    int CharSet = 0;
    int Tategaki = 0;
    FontType3 Type = FontType3::UNDEF;
    int Size = 22;
    FontWeight4 Weight = FontWeight4::UNDEF;
    FontItalic3 Italic = FontItalic3::UNDEF;
    // Lists only the fonts that have a glyph for every character of the
    // sample text.
    bool GlyphFilter = false;
    std::wstring SampleText;
    CMruStrings SampleTexts{20, true};
    CWindowLayoutSetting WindowLayout;
    // Font files and folders added for the run alone, in the order added,
    // and whether only their faces are listed; the dialog keeps the choice
    // off while nothing is added.
    std::vector<std::wstring> AddedFonts;
    bool OnlyAddedFonts = false;
};

// The members in the order of the settings file.
inline constexpr auto kFontListDlgFields = std::make_tuple(
    Field<FieldCodec::Int>(L"CharSet", &CFontListDlgSetting::CharSet),
    Field<FieldCodec::Int>(L"Tategaki", &CFontListDlgSetting::Tategaki),
    // Files of earlier versions have no "Type".
    Field<FieldCodec::Enum>(L"Type", &CFontListDlgSetting::Type, FieldRule::ReadWhenPresent),
    Field<FieldCodec::Int>(L"Size", &CFontListDlgSetting::Size),
    Field<FieldCodec::Enum>(L"Weight", &CFontListDlgSetting::Weight),
    Field<FieldCodec::Enum>(L"Italic", &CFontListDlgSetting::Italic),
    Field<FieldCodec::Bool>(L"GlyphFilter", &CFontListDlgSetting::GlyphFilter, FieldRule::WrittenWhenOn),
    Field<FieldCodec::Text>(L"SampleText", &CFontListDlgSetting::SampleText),
    Field<FieldCodec::StringList>(L"SampleTexts", &CFontListDlgSetting::SampleTexts),
    Field<FieldCodec::WindowLayout>(L"WindowLayout", &CFontListDlgSetting::WindowLayout),
    Field<FieldCodec::PathList>(L"AddedFonts", &CFontListDlgSetting::AddedFonts, FieldRule::WrittenWhenOn),
    Field<FieldCodec::Bool>(L"OnlyAddedFonts", &CFontListDlgSetting::OnlyAddedFonts, FieldRule::WrittenWhenOn));
