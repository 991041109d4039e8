object fmFieldsSet: TfmFieldsSet
  Left = 0
  Top = 0
  Width = 352
  Height = 188
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Fields'
  Font.Height = -12
  Font.Name = 'MS Sans Serif'
  Position = poScreenCenter
  OnActivate = FormActivate
  OnCloseQuery = FormCloseQuery
  object paTop: TPanel
    Left = 0
    Top = 0
    Width = 344
    Height = 31
    Align = alTop
    BevelOuter = bvNone
    ParentColor = True
    TabOrder = 0
    object paClear: TPanel
      Left = 0
      Top = 0
      Width = 112
      Height = 31
      Align = alLeft
      BevelOuter = bvNone
      ParentColor = True
      object bbClear: TButton
        Left = 8
        Top = 3
        Width = 103
        Height = 25
        Caption = 'Clear All'
        TabOrder = 0
        OnClick = bbClearClick
      end
    end
    object paSetup: TPanel
      Left = 112
      Top = 0
      Width = 112
      Height = 31
      Align = alLeft
      BevelOuter = bvNone
      ParentColor = True
      object bbSetup: TButton
        Left = 8
        Top = 3
        Width = 103
        Height = 25
        Caption = 'Setup'
        TabOrder = 0
        OnClick = bbSetupClick
      end
    end
  end
  object paBottom: TPanel
    Left = 0
    Top = 130
    Width = 344
    Height = 31
    Align = alBottom
    BevelOuter = bvNone
    ParentColor = True
    TabOrder = 1
    object paOk: TPanel
      Left = 22
      Top = 0
      Width = 80
      Height = 31
      Align = alRight
      BevelOuter = bvNone
      ParentColor = True
      object bbOk: TButton
        Left = 4
        Top = 3
        Width = 75
        Height = 25
        Caption = 'OK'
        Default = True
        ModalResult = 1
        TabOrder = 0
      end
    end
    object paNext: TPanel
      Left = 102
      Top = 0
      Width = 80
      Height = 31
      Align = alRight
      BevelOuter = bvNone
      ParentColor = True
      Visible = False
      object bbNext: TButton
        Left = 4
        Top = 3
        Width = 75
        Height = 25
        Caption = 'Next'
        ModalResult = 1
        TabOrder = 0
      end
    end
    object paCancel: TPanel
      Left = 182
      Top = 0
      Width = 80
      Height = 31
      Align = alRight
      BevelOuter = bvNone
      ParentColor = True
      object bbCancel: TButton
        Left = 4
        Top = 3
        Width = 75
        Height = 25
        Caption = 'Cancel'
        Cancel = True
        ModalResult = 2
        TabOrder = 0
      end
    end
    object paHelp: TPanel
      Left = 262
      Top = 0
      Width = 81
      Height = 31
      Align = alRight
      BevelOuter = bvNone
      ParentColor = True
      object bbHelp: TButton
        Left = 4
        Top = 3
        Width = 75
        Height = 25
        Caption = 'Help'
        TabOrder = 0
        OnClick = bbHelpClick
      end
    end
  end
end
