object FindCustomersForm: TForm
  Left = 0
  Top = 0
  Width = 420
  Height = 200
  Caption = 'Find a customer'
  object Sample: TSQLiteConnection
    FileName = 'sample.db'
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
  object FindPanel: TQXBdeFindPanel
    Left = 8
    Top = 8
    Width = 396
    Height = 120
    DataSource = CustomersSource
    ShowBox = True
    Fields = <
      item
        FieldName = 'COMPANY'
        Compare = ctInitial
      end
      item
        FieldName = 'CITY'
      end>
  end
  object OkButton: TButton
    Left = 248
    Top = 140
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object CancelButton: TButton
    Left = 329
    Top = 140
    Width = 75
    Height = 25
    Caption = 'Cancel'
    Cancel = True
    ModalResult = 2
  end
end
