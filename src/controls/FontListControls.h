// The filter and sample-text controls of the font list dialog, bound to its
// settings: character set, type, size, weight, italic and sample text.
#pragma once

#include "base/NamedInts.h"
#include "controls/ComboBox4.h"
#include "controls/ComboBoxCharSet.h"
#include "controls/ComboBoxEnum.h"
#include "controls/ComboBoxValue.h"
#include "controls/SettingSetter.h"
#include "fonts/FontNames.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"
#include "resources/resource.h"
#include "settings/MruStrings.h"

namespace gvt {

// S is the settings record.
template <class S>
class CFontListControls {
public:
    using CCharSetCombo = CComboBoxCharSet<S>;
    using CEnumCombo = CComboBoxEnum<S, CNamedInts, int>;
    using CSizeCombo = CComboBoxInt<S, 0, 0>;
    using CSampleTextCombo = CComboBoxString<S, CMruStrings>;
    // The classes that fire the size and sample-text events.
    using CSizeSender = typename CSizeCombo::CValueCombo;
    using CSampleTextSender = typename CSampleTextCombo::CSampleCombo;

    // Takes over the combo boxes of `dialog` in the order of the dialog's
    // layout, binds each to `setting`, makes the owner's handlers its change
    // listeners and shows the setting. The owner O has
    //   OnCharSetOrType(CCharSetCombo&), OnCharSetOrType(CEnumCombo&),
    //   OnSize(CSizeSender&), OnWeightOrItalic(CEnumCombo&) and
    //   OnSampleText(CSampleTextSender&, SampleTextChange).
    // A template without a type box binds the others. With listCharSets the
    // character-set box lists the installed fonts' character sets at once;
    // otherwise they come later through CharSet.SetChoices.
    template <class O>
    void Bind(CWindowW dialog, S* setting, O* owner, bool listCharSets = true)
    {
        CharSet.Attach(dialog.GetDlgItem(IDC_CHARSET), setting);
        CharSet.AddListener(owner, &O::OnCharSetOrType);
        if (listCharSets) {
            CClientDC screen(nullptr);
            CharSet.SetChoices(EnumCharSets(screen.get()));
        }

        if (HWND type = dialog.GetDlgItem(IDC_TYPE)) {
            Type.Attach(type, setting, &CSettingMember<&S::Type>::Get, &CSettingMember<&S::Type>::Set,
                        &FontTypeNames);
            Type.AddListener(owner, &O::OnCharSetOrType);
            Type.SelectFromSetting();
        }

        Size.Attach(dialog.GetDlgItem(IDC_FONT_SIZE), setting);
        Size.AddListener(owner, &O::OnSize);
        Size.FillList();
        Size.SelectFromSetting();

        Weight.Attach(dialog.GetDlgItem(IDC_WEIGHT), setting, &CSettingMember<&S::Weight>::Get,
                      &CSettingMember<&S::Weight>::Set, &FontWeightFilterNames);
        Weight.AddListener(owner, &O::OnWeightOrItalic);
        Weight.SelectFromSetting();

        Italic.Attach(dialog.GetDlgItem(IDC_ITALIC), setting, &CSettingMember<&S::Italic>::Get,
                      &CSettingMember<&S::Italic>::Set, &FontItalicNames);
        Italic.AddListener(owner, &O::OnWeightOrItalic);
        Italic.SelectFromSetting();

        SampleText.Attach(dialog.GetDlgItem(IDC_SAMPLE_TEXT), setting, &setting->SampleTexts);
        SampleText.AddListener(owner, &O::OnSampleText);
        SampleText.SelectFromSetting();
    }

    CCharSetCombo CharSet;
    CEnumCombo Type;
    CSizeCombo Size;
    CEnumCombo Weight;
    CEnumCombo Italic;
    CSampleTextCombo SampleText;
};

}  // namespace gvt
