inherited fmSetupFindDialog: TfmSetupFindDialog
  ClientHeight = 388
  object laFindOptions: TLabel
    Left = 320
    Top = 12
    Width = 104
    Height = 13
    Caption = 'Way of searching:'
  end
  object cbFindOptions: TComboBox
    Left = 430
    Top = 8
    Width = 177
    Height = 21
    Style = csDropDownList
    Items.Strings = (
      'Exact index searching'
      'Nearest index searching'
      'Fast searching'
      'Normal searching')
    TabOrder = 3
    OnChange = cbFindOptionsChange
  end
  inherited pcOptions: TPageControl
    Height = 256
    inherited tsDefault: TTabSheet
      inherited gbCompareOptions: TGroupBox
        Height = 242
        object lacMemo: TLabel
          Left = 12
          Top = 168
          Width = 96
          Height = 13
          Caption = 'Memo field'
        end
        object cbcMemo: TComboBox
          Tag = 4
          Left = 116
          Top = 164
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'Exact comparison'
            'Initial comparison'
            'Partial comparison')
          TabOrder = 6
          OnChange = cbcBooleanChange
        end
        inherited cbCaseSensitive: TCheckBox
          Top = 200
        end
      end
      inherited gbCountOptions: TGroupBox
        Height = 242
        object lavMemo: TLabel
          Left = 12
          Top = 168
          Width = 96
          Height = 13
          Caption = 'Memo field'
        end
        object cbvMemo: TComboBox
          Tag = 4
          Left = 116
          Top = 164
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'No visible fields'
            'Single field visible'
            'Two fields visible')
          TabOrder = 5
          OnChange = cbvBooleanChange
        end
      end
    end
  end
end
