#include "settings/FontListDlgSetting.h"

CFontListDlgSetting& CFontListDlgSetting::operator=(const CFontListDlgSetting& other)
{
    if (this == &other)
        return *this;
    CharSet = other.CharSet;
    Tategaki = other.Tategaki;
    Type = other.Type;
    Size = other.Size;
    Weight = other.Weight;
    Italic = other.Italic;
    GlyphFilter = other.GlyphFilter;
    SampleText = other.SampleText;
    SampleTexts.Items() = other.SampleTexts.Items();
    SampleTexts.MaxSize = other.SampleTexts.MaxSize;
    SampleTexts.SaveContents = other.SampleTexts.SaveContents;
    WindowLayout = other.WindowLayout;
    return *this;
}
