// Invoice printing. ReportBase came from the old report library, which the search path
// no longer names.

CLASS InvoicePrinter INHERIT ReportBase
	EXPORT cPrinter AS STRING
	PROTECT nCopies := 1 AS INT

METHOD Print() CLASS InvoicePrinter
	RETURN SELF:PrintTo(SELF:cPrinter, SELF:nCopies)
