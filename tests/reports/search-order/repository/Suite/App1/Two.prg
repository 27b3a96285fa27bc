CLASS Dup
	EXPORT second

CLASS UsesDup INHERIT DUP
	EXPORT first, second
