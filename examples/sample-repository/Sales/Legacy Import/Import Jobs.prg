// Batch import from the old DOS system. The two job classes were meant to be merged;
// each now names the other as its parent.

CLASS ImportJob INHERIT BatchJob
	EXPORT cSource AS STRING
	EXPORT dStarted AS DATE

CLASS BatchJob INHERIT ImportJob
	EXPORT dStarted AS DATE
	PROTECT nRecords := 0 AS INT

METHOD Run() CLASS ImportJob
	SELF:dStarted := Today()
	RETURN SELF:ReadFrom(SELF:cSource)
