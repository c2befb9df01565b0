// The fourteen LOGFONT members in declaration order, as the settings file
// keeps a font and as font records are compared.
#pragma once

#include "settings/FieldTable.h"

#include <windows.h>

inline constexpr auto kLogFontFields = std::make_tuple(
    Field<FieldCodec::Long>(L"lfHeight", &LOGFONTW::lfHeight),
    Field<FieldCodec::Long>(L"lfWidth", &LOGFONTW::lfWidth),
    Field<FieldCodec::Long>(L"lfEscapement", &LOGFONTW::lfEscapement),
    Field<FieldCodec::Long>(L"lfOrientation", &LOGFONTW::lfOrientation),
    Field<FieldCodec::Long>(L"lfWeight", &LOGFONTW::lfWeight),
    Field<FieldCodec::Byte>(L"lfItalic", &LOGFONTW::lfItalic),
    Field<FieldCodec::Byte>(L"lfUnderline", &LOGFONTW::lfUnderline),
    Field<FieldCodec::Byte>(L"lfStrikeOut", &LOGFONTW::lfStrikeOut),
    Field<FieldCodec::Byte>(L"lfCharSet", &LOGFONTW::lfCharSet),
    Field<FieldCodec::Byte>(L"lfOutPrecision", &LOGFONTW::lfOutPrecision),
    Field<FieldCodec::Byte>(L"lfClipPrecision", &LOGFONTW::lfClipPrecision),
    Field<FieldCodec::Byte>(L"lfQuality", &LOGFONTW::lfQuality),
    Field<FieldCodec::Byte>(L"lfPitchAndFamily", &LOGFONTW::lfPitchAndFamily),
    Field<FieldCodec::FaceName>(L"lfFaceName", &LOGFONTW::lfFaceName));
