inherited fmFind: TfmFind
  Caption = 'Find'
  inherited paBottom: TPanel
    inherited paOk: TPanel
      inherited bbOk: TButton
        OnClick = bbOkClick
      end
    end
    inherited paNext: TPanel
      inherited bbNext: TButton
        OnClick = bbNextClick
      end
    end
  end
end
