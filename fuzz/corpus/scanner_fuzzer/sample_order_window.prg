CLASS OrderWindow INHERIT DataWindow
	EXPORT oDCName AS SingleLineEdit
	EXPORT oDCOrderNo, oDCCustomer, ;
		oDCTotal AS SingleLineEdit
	PROTECT nLines := 0 AS INT
	PROTECT cSeparator := "," AS STRING   // a comma inside quotes is not a separator
