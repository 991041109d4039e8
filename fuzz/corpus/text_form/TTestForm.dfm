object TestForm: TTestForm
  object Panel1: TTestControl
    Caption = 'Panel'
    object bbOk: TTestControl
      Caption = 'OK'
      OnPoke = Poke
    end
  end
end
