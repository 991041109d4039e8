inherited Main: TMainForm
  Negative = -129
  Wide = 2147483648
  Money = -12.3456c
  When = 45000.25d
  Flags = []
  Text = 'Grüße €'
  Long =
    '0123456789012345678901234567890123456789012345678901234567890123' +
    '456789'
  Nothing = nil
  NoValue = Null
  Ref = Other.Button1
  Nested = (
    1
    (
      'a'
      [x])
    <>)
  Blob = {
    000102030405060708090A0B0C0D0E0F}
  object Child: TChild [2]
    inline Frame: TFrame1
    end
  end
end
