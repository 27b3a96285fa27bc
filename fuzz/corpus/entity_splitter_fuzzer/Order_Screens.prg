// The order entry screens.

CLASS OrderWindow INHERIT DataWindow
	EXPORT oDCName AS SingleLineEdit
	EXPORT oDCOrderNo, oDCCustomer, ;
		oDCTotal AS SingleLineEdit
	PROTECT nLines := 0 AS INT
	PROTECT cSeparator := "," AS STRING   // a comma inside quotes is not a separator

METHOD Init(oOwner) CLASS OrderWindow
	SUPER:Init(oOwner)
	SELF:nLines := 0
	RETURN SELF

CLASS OrderDetailWindow INHERIT orderwindow
	EXPORT oDCTotal AS SingleLineEdit
	PROTECT lChanged AS LOGIC
	PROTECT oOwner, hWnd
	PROTECT aColumns[10, 2]

CLASS OrderCache
	PROTECT aOrders := {} AS ARRAY
	PROTECT nHits := 0, nMisses := 0 AS INT
	INSTANCE AORDERS AS ARRAY

METHOD Find(cOrderNo) CLASS OrderCache
	LOCAL nPos AS INT
	nPos := AScan(SELF:aOrders, {|a| a[1] == cOrderNo})
	RETURN IIf(nPos > 0, SELF:aOrders[nPos], NULL_ARRAY)

RESOURCE IDI_ORDERS ICON orders.ico
