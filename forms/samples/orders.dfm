object OrdersForm: TForm
  Left = 200
  Top = 150
  Width = 560
  Height = 400
  BorderStyle = bsDialog
  Caption = 'Find an order'
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
  object Orders: TTable
    Connection = Sample
    TableName = 'ORDERS'
    IndexName = 'IX_ORD_DATE'
    Active = True
  end
  object OrdersSource: TDataSource
    DataSet = Orders
  end
  object FindPanel: TQXBdeFindPanel
    Left = 8
    Top = 8
    Width = 536
    Height = 64
    DataSource = OrdersSource
    ShowBox = True
    UpdateState = usEditExitChange
    Fields = <
      item
        FieldName = 'ORDERED'
        DisplayLabel = 'Ordered on'
        Count = coOne
      end
      item
        FieldName = 'CUSTNO'
        DisplayLabel = 'Customer'
        DisplayWidth = 30
        Count = coOne
        Alignment = taLeftJustify
        ButtonStyle = rbsLookup
        KeyField = 'CUSTNO'
        ListField = 'COMPANY'
        ListSource = CustomersSource
      end>
  end
  object OrdersGrid: TDBGrid
    Left = 8
    Top = 80
    Width = 536
    Height = 246
    DataSource = OrdersSource
    TabOrder = 1
  end
  object bbOk: TButton
    Left = 469
    Top = 336
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
end
