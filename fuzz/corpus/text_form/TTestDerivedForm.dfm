inherited TestForm: TTestDerivedForm
  inherited Panel1: TTestControl
    inherited bbOk: TTestControl
      Caption = 'Fine'
    end
    object bbHelp: TTestControl
      Caption = 'Help'
      OnPoke = Other
    end
  end
end
