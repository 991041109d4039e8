object SampleDialog: TForm
  Left = 200
  Top = 150
  Width = 352
  Height = 188
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Find customer'
  Font.Height = -11
  Font.Name = 'Tahoma'
  Position = poScreenCenter
  object laName: TLabel
    Left = 12
    Top = 16
    Width = 60
    Height = 13
    Caption = 'Company:'
  end
  object edName: TEdit
    Left = 84
    Top = 12
    Width = 245
    Height = 21
    TabOrder = 0
    Text = ''
  end
  object gbOptions: TGroupBox
    Left = 12
    Top = 44
    Width = 317
    Height = 60
    Caption = 'Options'
    TabOrder = 1
    object cbFiltered: TCheckBox
      Left = 12
      Top = 22
      Width = 97
      Height = 17
      Caption = 'Filtered'
      TabOrder = 0
    end
    object cbCompare: TComboBox
      Left = 150
      Top = 20
      Width = 150
      Height = 21
      Style = csDropDownList
      Items.Strings = (
        'Exact comparison'
        'Initial comparison'
        'Partial comparison')
      TabOrder = 1
    end
  end
  object bbOk: TButton
    Left = 172
    Top = 120
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object bbCancel: TButton
    Left = 254
    Top = 120
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
