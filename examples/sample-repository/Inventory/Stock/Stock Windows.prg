CLASS StockWindow INHERIT Window
	EXPORT oDCArticle, oDCQuantity AS SingleLineEdit
	PROTECT nReorderLevel := 10 AS INT

METHOD Init(oOwner) CLASS StockWindow
	SUPER:Init(oOwner)
	RETURN SELF
