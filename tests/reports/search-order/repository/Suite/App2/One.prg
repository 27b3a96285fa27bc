CLASS Child INHERIT Base
	EXPORT a, b, r
