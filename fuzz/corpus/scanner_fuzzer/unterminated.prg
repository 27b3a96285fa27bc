CLASS Broken
	EXPORT ok1
	EXPORT bad := "never closed
	EXPORT ok2 [ also open
	/* open comment
	EXPORT gone
