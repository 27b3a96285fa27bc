FUNCTION Start()
	LOCAL c := 'it''s /* not a comment'
	LOCAL d := "// nor this /*"
	? c /* open
CLASS Swallowed
*/ CLASS NotAStart
CLASS Real INHERIT Base
	PROTECT p // /* after a line comment
CLASS AlsoReal
