inherited fmFilter: TfmFilter
  Caption = 'Filter'
  inherited paTop: TPanel
    inherited paClear: TPanel
      Width = 110
    end
    inherited paSetup: TPanel
      Left = 111
      Width = 110
    end
    object paFiltered: TPanel
      Left = 221
      Top = 0
      Width = 140
      Height = 29
      Align = alLeft
      BevelOuter = bvNone
      ParentColor = True
      TabOrder = 2
      object cbFiltered: TCheckBox
        Left = 8
        Top = 8
        Width = 129
        Height = 17
        Caption = 'Filtered'
        TabOrder = 0
      end
    end
  end
end
