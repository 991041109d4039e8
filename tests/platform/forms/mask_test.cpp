// The edit-mask language (FormatMaskText and the parsed positions) and the
// mask edit: random keystrokes against a plain model of the editing rules,
// Text against EditText, and validation on leaving.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "platform/core/format_settings.h"
#include "platform/forms/clipboard.h"
#include "platform/forms/edit.h"
#include "platform/forms/form.h"
#include "platform/forms/maskedit.h"
#include "platform/forms/textutil.h"
#include "tests/platform/expect_throw.h"
#include "tests/platform/forms/edit_model.h"

namespace tabulon {
namespace {

using forms_detail::DecodeUtf8;
using forms_detail::EncodeUtf8;
using testing::ExpectThrow;

TEST(EditMask, FormatMaskTextAndSections) {
  TFormatSettingsScope keep;
  FormatSettings().DateSeparator = '.';
  FormatSettings().TimeSeparator = ':';
  struct Case {
    const char* mask;
    const char* value;
    const char* expected;
  };
  const Case cases[] = {
      {"!99/99/0000;1;_", "", "  .  .    "},
      {"!99/99/0000;1;_", "12.05.2024", "12.05.2024"},
      {"(999) 000-0000;0;_", "5551234567", "(555) 123-4567"},
      {"(999) 000-0000;1;_", "5551234567", "(555) 123-4567"},  // literals left out
      {"(999) 000-0000;1;_", "(555) 12", "(555) 12 -    "},
      {">LL-0000;1;_", "ab-1234", "ab-1234"},  // no case conversion
      {"99;0", "1", "1 "},
      {"!99;0", "1", " 1"},  // optional as leading blanks
      {"00:00", "", "  :  "},
      {"\\(000\\);1;*", "12", "(12 )"},
      {"\\\\0\\", "5", "\\5"},  // an escaped backslash; the final '\' is ignored
      {"", "as is", "as is"},
      {"\\", "x", "x"},  // no positions at all: the value stays
      {";;", "x", "x"},
      {"0;", "", " "},  // empty sections take their defaults
      {"é<>l", "x", "éx"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatMaskText(c.mask, c.value), c.expected) << c.mask << " / " << c.value;

  EXPECT_TRUE(MaskGetMaskSave("99/99"));
  EXPECT_TRUE(MaskGetMaskSave("99/99;;#"));
  EXPECT_FALSE(MaskGetMaskSave("99/99;0;#"));
  EXPECT_EQ(MaskGetMaskBlank("99/99;0;#"), U'#');
  EXPECT_EQ(MaskGetMaskBlank("99/99;0;"), U'_');
  EXPECT_EQ(MaskGetMaskBlank("99/99;0"), U'_');
  EXPECT_EQ(MaskGetMaskBlank("\\;0;#"), U'_');  // the escaped ';' is a literal
}

TEST(EditMask, PositionsAcceptCharactersByKindAndCase) {
  TMaskInfo m = ParseEditMask(">L<l<>AaCc09#;1; ");
  ASSERT_EQ(m.Size(), 9);
  EXPECT_EQ(m.Blank, U' ');
  // Per position: a letter, a digit, a space, a sign, a non-ASCII letter.
  struct Row {
    char32_t letter, digit, space, sign, accented;
  };
  const Row rows[] = {
      {U'X', 0, 0, 0, U'É'},           // L upper
      {U'x', 0, U' ', 0, U'é'},        // l lower, optional: a space leaves it blank
      {U'x', U'5', 0, 0, U'é'},        // A
      {U'x', U'5', U' ', 0, U'é'},     // a
      {U'x', U'5', U' ', U'+', U'é'},  // C: anything, a space too
      {U'x', U'5', U' ', U'+', U'é'},  // c
      {0, U'5', 0, 0, 0},              // 0
      {0, U'5', U' ', 0, 0},           // 9
      {0, U'5', U' ', U'+', 0},        // #
  };
  for (int i = 0; i < 9; ++i) {
    const Row& r = rows[i];
    EXPECT_EQ(m.Accept(i, U'x'), r.letter) << i;
    EXPECT_EQ(m.Accept(i, U'5'), r.digit) << i;
    EXPECT_EQ(m.Accept(i, U' '), r.space) << i;
    EXPECT_EQ(m.Accept(i, U'+'), r.sign) << i;
    EXPECT_EQ(m.Accept(i, U'é'), r.accented) << i;
    EXPECT_EQ(m.Accept(i, U'\t'), 0u) << i;
  }
  EXPECT_EQ(m.FirstInvalid(U"X        "), 2);  // A is required
  EXPECT_EQ(m.FirstInvalid(U"Xx5x 5 5 "), 4);  // the blank is a space here
  EXPECT_EQ(m.FirstInvalid(U"Xx5xc5 5 "), 6);
  EXPECT_EQ(m.FirstInvalid(U"X 5 c 0  "), -1);
}

// The editing rules, written out plainly: one code point per position;
// typing fills the next editable position that accepts the character
// (typing the literal at the caret steps over it), Backspace and Delete
// blank the editable position before / at or after the caret.
struct MaskModel : test::CaretModel {
  TMaskInfo m;
  bool masked() const { return !m.Empty(); }
  bool Editable(int i) const { return !m.Positions[static_cast<size_t>(i)].IsLiteral(); }
  int SkipLiterals(int p) const {
    while (p < n() && !Editable(p)) ++p;
    return p;
  }
  void Blank(int from, int count) {
    for (int i = from; i < from + count; ++i)
      if (Editable(i)) text[static_cast<size_t>(i)] = m.Blank;
  }
  void Replace(const std::u32string& in) {
    int s = SelStart(), len = SelLength();
    if (!masked()) {
      text = text.substr(0, s) + in + text.substr(s + len);
      anchor = caret = s + static_cast<int>(in.size());
      return;
    }
    std::u32string keep = text;
    Blank(s, len);
    int pos = s;
    bool any = in.empty();
    for (char32_t c : in) {
      if (pos < n() && !Editable(pos) && m.Positions[static_cast<size_t>(pos)].Literal == c) {
        pos = SkipLiterals(pos);
        any = true;
        continue;
      }
      int p = SkipLiterals(pos);
      if (p >= n()) break;
      if (char32_t stored = m.Accept(p, c)) {
        text[static_cast<size_t>(p)] = stored;
        pos = SkipLiterals(p + 1);
        any = true;
      }
    }
    if (!any) {
      text = keep;  // refused: nothing changes
      return;
    }
    anchor = caret = pos;
  }
  void Back() {
    if (SelLength() > 0 || !masked()) {
      if (SelLength() == 0 && caret > 0) anchor = caret - 1;
      return Replace(U"");
    }
    int p = caret - 1;
    while (p >= 0 && !Editable(p)) --p;
    if (p < 0) return;
    Blank(p, 1);
    anchor = caret = p;
  }
  void Del() {
    if (SelLength() > 0 || !masked()) {
      if (SelLength() == 0 && caret < n()) anchor = caret + 1;
      return Replace(U"");
    }
    int p = SkipLiterals(caret);
    if (p >= n()) return;
    Blank(p, 1);
    anchor = caret = p;
  }
  // Text: blanks read as spaces; without saved literals, the literals go and
  // the blanks at the end (at the start with '!') are dropped.
  std::u32string Text() const {
    if (!masked()) return text;
    std::u32string out;
    for (int i = 0; i < n(); ++i)
      if (m.SaveLiterals || Editable(i)) out += text[static_cast<size_t>(i)];
    if (!m.SaveLiterals) {
      if (m.Reverse)
        out.erase(0, std::min(out.size(), out.find_first_not_of(m.Blank)));  // npos: all blank
      else
        while (!out.empty() && out.back() == m.Blank) out.pop_back();
    }
    for (char32_t& c : out)
      if (c == m.Blank) c = U' ';
    return out;
  }
};

struct MaskEditFixture : test::EditOnForm<TMaskEdit> {
  void SetUp() override {
    EditOnForm::SetUp();
    other = new TEdit(form.get());
    other->SetParent(form.get());
    other->SetTop(40);
    form->Show();
  }
  TEdit* other = nullptr;
};

TEST_F(MaskEditFixture, RandomKeystrokesMatchTheModel) {
  TFormatSettingsScope keep;
  FormatSettings().DateSeparator = '/';
  const char* masks[] = {"!99/99/0000;1;_", "(999) 000-0000;0;_", ">LL-0000;1;_", "",
                         "<ll#\\-cC;0;*"};
  const std::u32string alphabet = U"0123456789abXYé /-()*+";
  int seed = 7;
  for (const char* mask : masks) {
    edit->SetEditMask(mask);
    edit->SetText("");
    edit->SetFocus();
    edit->SetSelStart(0);
    MaskModel model;
    model.m = ParseEditMask(mask);
    model.text = DecodeUtf8(edit->GetEditText());
    std::mt19937 rng(seed++);
    for (int step = 0; step < 2500; ++step) {
      int op = static_cast<int>(rng() % 10);
      bool ext = rng() % 2 == 0;
      if (op < 3) {
        char32_t c = alphabet[rng() % alphabet.size()];
        Key(0xE5, {}, c);
        model.Replace(std::u32string(1, c));
      } else if (op < 9) {
        test::PressEditingKey(*form, model, op - 3, ext);
      } else {
        std::u32string clip;
        for (int k = static_cast<int>(rng() % 6) + 1; k > 0; --k)
          clip += alphabet[rng() % alphabet.size()];
        Clipboard()->SetAsText(EncodeUtf8(clip));
        Key('V', {ssCtrl}, 22);
        // A plain edit pastes the text; a mask types it in, skipping what no position takes.
        model.Replace(clip);
      }
      ASSERT_EQ(edit->GetEditText(), EncodeUtf8(model.text)) << mask << " step " << step;
      ASSERT_EQ(edit->GetText(), EncodeUtf8(model.Text())) << mask << " step " << step;
      ASSERT_EQ(edit->GetCaretPos(), model.caret) << mask << " step " << step;
      ASSERT_EQ(edit->GetSelStart(), model.SelStart()) << mask << " step " << step;
      ASSERT_EQ(edit->GetSelLength(), model.SelLength()) << mask << " step " << step;
    }
    // Leaving with a required position blank would raise: make the text valid first.
    edit->SetModified(false);
    other->SetFocus();
  }
}

TEST_F(MaskEditFixture, TextAndEditTextAcrossMaskChanges) {
  edit->SetText("12345");
  edit->SetEditMask("(999) 000-0000;0;_");
  EXPECT_EQ(edit->GetEditText(), "(123) 45_-____");
  EXPECT_EQ(edit->GetText(), "12345");
  EXPECT_EQ(edit->GetMaxLength(), 14);
  edit->SetEditMask("(999) 000-0000;1;_");
  EXPECT_EQ(edit->GetText(), "(123) 45 -    ");
  edit->SetText("(555) 123-4567");
  EXPECT_EQ(edit->GetEditText(), "(555) 123-4567");
  edit->SetText("55");  // literals may be left out
  EXPECT_EQ(edit->GetEditText(), "(55_) ___-____");
  edit->SetEditText("(x");  // the shown text keeps the mask's shape
  EXPECT_EQ(edit->GetEditText(), "(x__) ___-____");
  edit->SetEditMask("!999;0;_");
  EXPECT_EQ(edit->GetEditText(), "__x");  // the value moves right
  EXPECT_EQ(edit->GetText(), "x");
  edit->SetEditMask("");
  EXPECT_EQ(edit->GetText(), "x");
  EXPECT_FALSE(edit->IsMasked());
  edit->SetText("12/05/2024");
  edit->SetEditMask("!99/99/0000;1;_");
  EXPECT_EQ(edit->GetEditText(), "12/05/2024");
  edit->SetEditMask("");
  edit->SetText("x");
  edit->SetMaxLength(3);
  EXPECT_EQ(edit->GetMaxLength(), 3);
  edit->SetEditMask("00;0;_");
  EXPECT_EQ(edit->GetMaxLength(), 2);
  edit->SetFocus();
  edit->SetSelStart(0);
  Type(U"12");  // overwriting a full mask is not limited by the length
  EXPECT_EQ(edit->GetEditText(), "12");
}

TEST_F(MaskEditFixture, LeavingWithABlankRequiredPositionRaisesAndKeepsTheFocus) {
  edit->SetEditMask("!99/99/0000;1;_");
  edit->SetFocus();
  other->SetFocus();  // unmodified: leaving is fine
  EXPECT_TRUE(other->Focused());
  edit->SetFocus();
  edit->SetSelStart(0);
  Type(U"1205");
  int exits = 0;
  edit->OnExit = [&](TObject*) { ++exits; };
  ExpectThrow<EDBEditError>([&] { Key(VK_TAB); },
                            "Invalid input value.  Use escape key to abandon changes");
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->GetCaretPos(), 6);  // the first blank of the year
  EXPECT_EQ(exits, 0);
  Key(VK_ESCAPE);  // abandons the changes
  EXPECT_EQ(edit->GetEditText(), "__/__/____");
  EXPECT_FALSE(edit->GetModified());
  Type(U"0102");
  form->Hide();  // a form that goes away does not validate
  form->Show();
  edit->SetFocus();
  EXPECT_EQ(edit->GetEditText(), "01/02/____");
  edit->SetSelStart(6);
  Type(U"2024");
  Key(VK_TAB);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(exits, 2);  // hiding the form left the edit too
  EXPECT_EQ(edit->GetText(), "01/02/2024");
}

}  // namespace
}  // namespace tabulon
