CLASS Child INHERIT Base
	EXPORT a, b, r

CLASS Dup
	EXPORT first
