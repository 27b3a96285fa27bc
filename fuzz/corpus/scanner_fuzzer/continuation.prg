CLASS Joined
	EXPORT a, ;
   b AS INT
	EXPORT c, ;	
		d
	PROTECT e, ; // more
		f, ;
		g := 1 AS INT
