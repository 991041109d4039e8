object SamplePanel: TPanel
  Left = 0
  Top = 0
  Width = 380
  Height = 236
  BevelInner = bvLowered
  BevelWidth = 2
  BorderWidth = 3
  Caption = ''
  object TitleLabel: TLabel
    Left = 16
    Top = 12
    Width = 200
    Height = 24
    Caption = 'Find customers'
    Font.Color = clNavy
    Font.Height = -19
    Font.Name = 'Arial'
    Font.Style = [fsBold]
  end
  object HintLabel: TLabel
    Left = 16
    Top = 42
    Width = 300
    Height = 13
    Caption = 'Enter a value for each field you want to search by:'
    Font.Color = clGrayText
    Font.Height = -11
    Font.Name = 'Times New Roman'
    Font.Style = [fsItalic]
  end
  object FieldsBox: TScrollBox
    Left = 16
    Top = 64
    Width = 346
    Height = 150
    Color = clWindow
    object CompanyLabel: TLabel
      Left = 8
      Top = 12
      Caption = 'Company'
    end
    object CompanyEdit: TPanel
      Left = 96
      Top = 8
      Width = 210
      Height = 21
      BevelOuter = bvLowered
      Color = clWindow
      Caption = 'Unisco'
      Alignment = taLeftJustify
    end
    object CityLabel: TLabel
      Left = 8
      Top = 42
      Caption = 'City'
    end
    object CityEdit: TPanel
      Left = 96
      Top = 38
      Width = 150
      Height = 21
      BevelOuter = bvLowered
      Color = clWindow
      Caption = ''
    end
    object ZipLabel: TLabel
      Left = 8
      Top = 72
      Caption = 'Zip code'
    end
    object ZipFromEdit: TPanel
      Left = 96
      Top = 68
      Width = 80
      Height = 21
      BevelOuter = bvLowered
      Color = clWindow
      Caption = '10000'
      Alignment = taRightJustify
    end
    object ZipToLabel: TLabel
      Left = 184
      Top = 72
      Caption = 'to'
    end
    object ZipToEdit: TPanel
      Left = 204
      Top = 68
      Width = 80
      Height = 21
      BevelOuter = bvLowered
      Color = clWindow
      Caption = '19999'
      Alignment = taRightJustify
    end
    object CountryLabel: TLabel
      Left = 8
      Top = 102
      Caption = 'Country'
    end
    object CountryEdit: TPanel
      Left = 96
      Top = 98
      Width = 210
      Height = 21
      BevelOuter = bvLowered
      Color = clWindow
      Caption = ''
    end
    object LastContactLabel: TLabel
      Left = 8
      Top = 132
      Caption = 'Last contact'
    end
    object LastContactEdit: TPanel
      Left = 96
      Top = 128
      Width = 100
      Height = 21
      BevelOuter = bvLowered
      Color = clWindow
      Caption = ''
    end
    object CommentLabel: TLabel
      Left = 8
      Top = 162
      Caption = 'Comment'
    end
    object CommentEdit: TPanel
      Left = 96
      Top = 158
      Width = 210
      Height = 21
      BevelOuter = bvLowered
      Color = clWindow
      Caption = ''
    end
  end
end
