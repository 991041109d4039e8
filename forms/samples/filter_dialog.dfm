object FilterCustomersForm: TForm
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
  object FilterDialog: TDBFilterDialog
    DataSource = CustomersSource
    Fields = <
      item
        FieldName = 'COUNTRY'
      end
      item
        FieldName = 'CITY'
        Compare = ctInitial
      end
      item
        FieldName = 'CREDIT'
        Count = coTwo
      end
      item
        FieldName = 'ACTIVE'
      end>
    Options = [soClear, soSetup, soHelp, soFilter]
  end
end
