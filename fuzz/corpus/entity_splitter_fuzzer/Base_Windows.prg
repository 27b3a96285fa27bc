// Data windows of the sales suite.

CLASS DataWindow INHERIT Window
	EXPORT oDCName AS SingleLineEdit
	EXPORT oDCTitle AS FixedText
	PROTECT oServer AS DbServer
	PROTECT lChanged := FALSE AS LOGIC
	/* Kept for the old browser:
	EXPORT oBrowser
	*/
	HIDDEN hLock AS PTR

METHOD Init(oOwner) CLASS DataWindow
	SUPER:Init(oOwner)
	SELF:lChanged := FALSE
	RETURN SELF

METHOD Close(oEvent) CLASS DataWindow
	IF SELF:lChanged
		SELF:oServer:Commit()
	ENDIF
	RETURN SUPER:Close(oEvent)
