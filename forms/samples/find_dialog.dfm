object FindCustomerForm: TForm
  Left = 0
  Top = 0
  Width = 420
  Height = 200
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
  object FindDialog: TQXBdeFindDialog
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
    Title = 'Find a customer'
  end
end
