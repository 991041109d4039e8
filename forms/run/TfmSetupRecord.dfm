object fmSetupRecord: TfmSetupRecord
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Setup'
  ClientHeight = 364
  ClientWidth = 615
  Font.Height = -12
  Font.Name = 'MS Sans Serif'
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  object cbFields: TComboBox
    Left = 8
    Top = 8
    Width = 260
    Height = 21
    Style = csDropDownList
    Items.Strings = (
      'Default options')
    TabOrder = 0
    OnClick = cbFieldsClick
  end
  object pcOptions: TPageControl
    Left = 8
    Top = 36
    Width = 599
    Height = 232
    ActivePage = tsDefault
    TabOrder = 1
    object tsDefault: TTabSheet
      TabVisible = False
      object gbCompareOptions: TGroupBox
        Left = 4
        Top = 2
        Width = 288
        Height = 218
        Caption = 'Compare Options'
        TabOrder = 0
        object lacBoolean: TLabel
          Left = 12
          Top = 28
          Width = 96
          Height = 13
          Caption = 'Logical field'
        end
        object cbcBoolean: TComboBox
          Tag = 0
          Left = 116
          Top = 24
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'Exact comparison'
            'Initial comparison'
            'Partial comparison')
          TabOrder = 0
          OnChange = cbcBooleanChange
        end
        object lacDateTime: TLabel
          Left = 12
          Top = 56
          Width = 96
          Height = 13
          Caption = 'Date/Time field'
        end
        object cbcDateTime: TComboBox
          Tag = 1
          Left = 116
          Top = 52
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'Exact comparison'
            'Initial comparison'
            'Partial comparison')
          TabOrder = 1
          OnChange = cbcBooleanChange
        end
        object lacFloat: TLabel
          Left = 12
          Top = 84
          Width = 96
          Height = 13
          Caption = 'Numeric field'
        end
        object cbcFloat: TComboBox
          Tag = 2
          Left = 116
          Top = 80
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'Exact comparison'
            'Initial comparison'
            'Partial comparison')
          TabOrder = 2
          OnChange = cbcBooleanChange
        end
        object lacInteger: TLabel
          Left = 12
          Top = 112
          Width = 96
          Height = 13
          Caption = 'Integer field'
        end
        object cbcInteger: TComboBox
          Tag = 3
          Left = 116
          Top = 108
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'Exact comparison'
            'Initial comparison'
            'Partial comparison')
          TabOrder = 3
          OnChange = cbcBooleanChange
        end
        object lacString: TLabel
          Left = 12
          Top = 140
          Width = 96
          Height = 13
          Caption = 'String field'
        end
        object cbcString: TComboBox
          Tag = 5
          Left = 116
          Top = 136
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'Exact comparison'
            'Initial comparison'
            'Partial comparison')
          TabOrder = 4
          OnChange = cbcBooleanChange
        end
        object cbCaseSensitive: TCheckBox
          Left = 12
          Top = 168
          Width = 180
          Height = 17
          Caption = 'Case sensitive'
          TabOrder = 5
          OnClick = cbCaseSensitiveClick
        end
      end
      object gbCountOptions: TGroupBox
        Left = 299
        Top = 2
        Width = 288
        Height = 218
        Caption = 'Number of fields visible'
        TabOrder = 1
        object lavBoolean: TLabel
          Left = 12
          Top = 28
          Width = 96
          Height = 13
          Caption = 'Logical field'
        end
        object cbvBoolean: TComboBox
          Tag = 0
          Left = 116
          Top = 24
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'No visible fields'
            'Single field visible'
            'Two fields visible')
          TabOrder = 0
          OnChange = cbvBooleanChange
        end
        object lavDateTime: TLabel
          Left = 12
          Top = 56
          Width = 96
          Height = 13
          Caption = 'Date/Time field'
        end
        object cbvDateTime: TComboBox
          Tag = 1
          Left = 116
          Top = 52
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'No visible fields'
            'Single field visible'
            'Two fields visible')
          TabOrder = 1
          OnChange = cbvBooleanChange
        end
        object lavFloat: TLabel
          Left = 12
          Top = 84
          Width = 96
          Height = 13
          Caption = 'Numeric field'
        end
        object cbvFloat: TComboBox
          Tag = 2
          Left = 116
          Top = 80
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'No visible fields'
            'Single field visible'
            'Two fields visible')
          TabOrder = 2
          OnChange = cbvBooleanChange
        end
        object lavInteger: TLabel
          Left = 12
          Top = 112
          Width = 96
          Height = 13
          Caption = 'Integer field'
        end
        object cbvInteger: TComboBox
          Tag = 3
          Left = 116
          Top = 108
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'No visible fields'
            'Single field visible'
            'Two fields visible')
          TabOrder = 3
          OnChange = cbvBooleanChange
        end
        object lavString: TLabel
          Left = 12
          Top = 140
          Width = 96
          Height = 13
          Caption = 'String field'
        end
        object cbvString: TComboBox
          Tag = 5
          Left = 116
          Top = 136
          Width = 160
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'No visible fields'
            'Single field visible'
            'Two fields visible')
          TabOrder = 4
          OnChange = cbvBooleanChange
        end
      end
    end
    object tsField: TTabSheet
      TabVisible = False
      object gbFieldName: TGroupBox
        Left = 4
        Top = 2
        Width = 583
        Height = 124
        Caption = 'Options'
        TabOrder = 0
        object laCompareTitle: TLabel
          Left = 12
          Top = 28
          Width = 150
          Height = 13
          Caption = 'Compare Options'
        end
        object cbCompare: TComboBox
          Left = 180
          Top = 24
          Width = 180
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'Exact comparison'
            'Initial comparison'
            'Partial comparison')
          TabOrder = 0
          OnChange = cbCompareChange
        end
        object laCompare: TLabel
          Left = 372
          Top = 28
          Width = 190
          Height = 13
          AutoSize = False
          Caption = ''
        end
        object laCountTitle: TLabel
          Left = 12
          Top = 60
          Width = 150
          Height = 13
          Caption = 'Number of fields visible'
        end
        object cbCount: TComboBox
          Left = 180
          Top = 56
          Width = 180
          Height = 21
          Style = csDropDownList
          Items.Strings = (
            'No visible fields'
            'Single field visible'
            'Two fields visible')
          TabOrder = 1
          OnChange = cbCountChange
        end
        object laCount: TLabel
          Left = 372
          Top = 60
          Width = 190
          Height = 13
          AutoSize = False
          Caption = ''
        end
        object cbFieldCaseSensitive: TCheckBox
          Left = 12
          Top = 92
          Width = 180
          Height = 17
          Caption = 'Case sensitive'
          TabOrder = 2
          OnClick = cbFieldCaseSensitiveClick
        end
        object laCaseSensitive: TLabel
          Left = 372
          Top = 94
          Width = 190
          Height = 13
          AutoSize = False
          Caption = ''
        end
      end
    end
  end
  object paBottom: TPanel
    Left = 0
    Top = 276
    Width = 615
    Height = 88
    Align = alBottom
    BevelOuter = bvNone
    ParentColor = True
    TabOrder = 2
    object laHorzMargin: TLabel
      Left = 220
      Top = 10
      Width = 110
      Height = 13
      Caption = 'Horizontal margin'
    end
    object laVertMargin: TLabel
      Left = 220
      Top = 34
      Width = 110
      Height = 13
      Caption = 'Vertical margin'
    end
    object cbAutoEditWidth: TCheckBox
      Left = 12
      Top = 8
      Width = 180
      Height = 17
      Caption = 'Auto set field width'
      TabOrder = 0
    end
    object cbAutoSaveValues: TCheckBox
      Left = 12
      Top = 32
      Width = 180
      Height = 17
      Caption = 'Auto save values'
      TabOrder = 1
    end
    object mdHorzMargin: TMaskEdit
      Left = 340
      Top = 6
      Width = 64
      Height = 21
      TabOrder = 2
    end
    object mdVertMargin: TMaskEdit
      Left = 340
      Top = 30
      Width = 64
      Height = 21
      TabOrder = 3
    end
    object bbOk: TButton
      Left = 448
      Top = 56
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 4
    end
    object bbCancel: TButton
      Left = 532
      Top = 56
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 5
    end
  end
end
