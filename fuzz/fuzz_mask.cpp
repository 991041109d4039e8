// Edit masks and keystrokes: the first line of the input is a mask, the
// rest is typed into a mask edit as keys (a few bytes stand for editing
// keys, the others are characters). Whatever the mask, nothing may crash,
// the edit text keeps one code point per position, and Text, FormatMaskText
// and validation never fail but with EDBEditError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/forms/clipboard.h"
#include "platform/forms/form.h"
#include "platform/forms/maskedit.h"
#include "platform/forms/textutil.h"

using namespace tabulon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  size_t eol = in.find('\n');
  std::string mask = in.substr(0, eol), keys = eol == std::string::npos ? "" : in.substr(eol + 1);
  (void)FormatMaskText(mask, keys);
  TMaskInfo info = ParseEditMask(mask);
  (void)info.TextOf(info.EditTextOf(forms_detail::DecodeUtf8(keys)));

  TForm form(nullptr);
  auto* edit = new TMaskEdit(&form);
  edit->SetParent(&form);
  edit->SetEditMask(mask);
  form.Show();
  std::u32string cps = forms_detail::DecodeUtf8(keys);
  for (char32_t c : cps) {
    switch (c) {
      case 1:
        form.PressKey(VK_BACK, {}, 8);
        break;
      case 2:
        form.PressKey(VK_DELETE, {}, 0);
        break;
      case 3:
        form.PressKey(VK_LEFT, {ssShift}, 0);
        break;
      case 4:
        form.PressKey(VK_RIGHT, {}, 0);
        break;
      case 5:
        form.PressKey(VK_HOME, {}, 0);
        break;
      case 6:
        form.PressKey(VK_END, {ssShift}, 0);
        break;
      case 7:
        Clipboard()->SetAsText(keys);
        form.PressKey('V', {ssCtrl}, 22);
        break;
      case 8:
        form.PressKey(VK_ESCAPE, {}, 0);
        break;
      default:
        form.PressKey(0xE5, {}, c);
        break;
    }
    if (edit->IsMasked() &&
        Utf8Length(edit->GetEditText()) != static_cast<size_t>(edit->GetMaskInfo().Size()))
      __builtin_trap();
  }
  (void)edit->GetText();
  try {
    edit->ValidateEdit();
  } catch (const EDBEditError&) {
  }
  edit->SetModified(false);
  form.Hide();
  return 0;
}
