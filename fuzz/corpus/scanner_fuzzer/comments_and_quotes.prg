CLASS Quoted INHERIT Base
	EXPORT cPath := "c:\temp\*.*" AS STRING  // "/*" inside quotes opens nothing
	EXPORT cUrl := 'http://host/' AS STRING
	/* don't */ EXPORT hidden1
	EXPORT visible1 */
	PROTECT a /* x */, b
	EXPORT/* glued */cName
	INSTANCE cBracket := [a "quoted" /* text]
