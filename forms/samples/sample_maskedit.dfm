object SampleMaskEdits: TForm
  Left = 200
  Top = 150
  Width = 330
  Height = 220
  BorderStyle = bsDialog
  Caption = 'Mask edits with a button'
  Font.Height = -11
  Font.Name = 'Tahoma'
  object laPlain: TLabel
    Left = 12
    Top = 16
    Width = 110
    Height = 13
    Caption = 'Left, no button:'
  end
  object edPlain: TQXMaskEdit
    Left = 130
    Top = 12
    Width = 180
    Height = 21
    TabOrder = 0
    Text = 'Harbour Tools'
  end
  object laRight: TLabel
    Left = 12
    Top = 46
    Width = 110
    Height = 13
    Caption = 'Right-justified:'
  end
  object edRight: TQXMaskEdit
    Left = 130
    Top = 42
    Width = 180
    Height = 21
    TabOrder = 1
    Alignment = taRightJustify
    Text = '1,234.50'
  end
  object laEllipsis: TLabel
    Left = 12
    Top = 76
    Width = 110
    Height = 13
    Caption = 'Right, ellipsis:'
  end
  object edEllipsis: TQXMaskEdit
    Left = 130
    Top = 72
    Width = 180
    Height = 21
    TabOrder = 2
    Alignment = taRightJustify
    ButtonVisible = True
    Text = '1,234.50'
  end
  object laCentre: TLabel
    Left = 12
    Top = 106
    Width = 110
    Height = 13
    Caption = 'Centred, drop-down:'
  end
  object edCentre: TQXMaskEdit
    Left = 130
    Top = 102
    Width = 180
    Height = 21
    TabOrder = 3
    Alignment = taCenter
    ButtonVisible = True
    GlyphKind = gkDropDown
    Text = 'Centred'
  end
  object laDate: TLabel
    Left = 12
    Top = 136
    Width = 110
    Height = 13
    Caption = 'Date mask, button:'
  end
  object edDate: TQXMaskEdit
    Left = 130
    Top = 132
    Width = 180
    Height = 21
    TabOrder = 4
    ButtonVisible = True
    ButtonWidth = 20
    EditMask = '!99/99/0000;1;_'
    Text = '12/05/2024'
  end
  object laPhone: TLabel
    Left = 12
    Top = 166
    Width = 110
    Height = 13
    Caption = 'Phone mask:'
  end
  object edPhone: TQXMaskEdit
    Left = 130
    Top = 162
    Width = 180
    Height = 21
    TabOrder = 5
    Alignment = taCenter
    EditMask = '(999) 000-0000;0;_'
    Text = '5551234'
  end
end
