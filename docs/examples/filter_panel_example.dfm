object CustomersForm: TForm
  Width = 420
  Height = 180
  Caption = 'Customers'
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
  object FilterPanel: TDBFilterPanel
    Left = 8
    Top = 8
    Width = 396
    Height = 130
    DataSource = CustomersSource
    Fields = <
      item
        FieldName = 'COMPANY'
        Compare = ctInitial
      end
      item
        FieldName = 'CITY'
      end>
    Filtered = True
  end
end
