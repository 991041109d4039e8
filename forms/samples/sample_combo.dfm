object SampleCombo: TForm
  Left = 200
  Top = 150
  Width = 300
  Height = 200
  BorderStyle = bsDialog
  Caption = 'Combo box edit'
  Font.Height = -11
  Font.Name = 'Tahoma'
  object laCountry: TLabel
    Left = 12
    Top = 16
    Width = 60
    Height = 13
    Caption = 'Country:'
  end
  object cbCountry: TQXComboBoxEdit
    Left = 90
    Top = 12
    Width = 180
    Height = 21
    Items.Strings = (
      'Austria'
      'Czechia'
      'Denmark'
      'France'
      'Germany'
      'Italy'
      'Netherlands'
      'Poland'
      'Portugal'
      'Spain')
    Text = 'France'
    DropDownRows = 6
  end
end
