object SampleLookup: TForm
  Left = 200
  Top = 150
  Width = 360
  Height = 240
  BorderStyle = bsDialog
  Caption = 'Order: customer looked up by name'
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Sample: TSQLiteConnection
    FileName = 'sample.db'
  end
  object Customers: TTable
    Connection = Sample
    TableName = 'CUSTOMERS'
    Active = True
  end
  object dsCustomers: TDataSource
    DataSet = Customers
  end
  object laCustomer: TLabel
    Left = 12
    Top = 16
    Width = 60
    Height = 13
    Caption = 'Customer:'
  end
  object edCustomer: TQXLookupEdit
    Left = 12
    Top = 32
    Width = 330
    Height = 21
    Text = 'horvat g'
    KeyField = 'CUSTNO'
    ListField = 'CITY;COMPANY'
    ListFieldIndex = 1
    ListSource = dsCustomers
    DropDownRows = 8
  end
end
