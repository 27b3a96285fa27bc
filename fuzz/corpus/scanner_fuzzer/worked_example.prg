CLASS OrderWindow INHERIT DataWindow
	EXPORT oDCName AS SingleLineEdit	// name field
	PROTECT nCount := 0, ;
		cTitle AS STRING
	/* temporary
	EXPORT oOld
	*/
	INSTANCE aCache
	HIDDEN hPriv
