object CustomerFilter: TForm
  Left = 200
  Top = 150
  Width = 560
  Height = 400
  BorderStyle = bsDialog
  Caption = 'Filter customers'
  Font.Height = -11
  Font.Name = 'Tahoma'
  Position = poScreenCenter
  object Sample: TSQLiteConnection
    FileName = 'sample.db'
    ReadOnly = True
  end
  object Customers: TTable
    Connection = Sample
    TableName = 'CUSTOMERS'
    IndexName = 'IX_CUST_COMPANY'
    Active = True
  end
  object CustomersSource: TDataSource
    DataSet = Customers
  end
  object FilterPanel1: TDBFilterPanel
    Left = 8
    Top = 8
    Width = 536
    Height = 100
    DataSource = CustomersSource
    Fields = <
      item
        FieldName = 'COMPANY'
        Compare = ctInitial
      end
      item
        FieldName = 'CITY'
      end
      item
        FieldName = 'SINCE'
        Count = coTwo
      end>
    Filtered = True
  end
  object FindDialog: TQXBdeFindDialog
    DataSource = CustomersSource
    Fields = <
      item
        FieldName = 'COMPANY'
        Compare = ctInitial
      end
      item
        FieldName = 'CITY'
      end>
    Title = 'Find a customer'
  end
  object CustomersGrid: TDBGrid
    Left = 8
    Top = 116
    Width = 536
    Height = 210
    DataSource = CustomersSource
    TabOrder = 2
  end
  object bbOk: TButton
    Left = 469
    Top = 336
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
end
