object Root: TFuzzProbe
  Kind = kTwo
  Kinds = [kOne, kThree]
  Ratio = 0.25
  Scale = 1.5s
  Big = 5000000000
  Letter = 'x'
  Flag = True
  Caption = 'It''s'#13#10'ok'
  Items = <
    item
      Text = 'a'
    end
    item
    end>
  Lines.Strings = (
    'one'
    'two')
  Buddy = Child
  OnPoke = Poke
  object Child: TFuzzProbe
    Buddy = Root
  end
end
