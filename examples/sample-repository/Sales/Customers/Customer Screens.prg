// Customer maintenance.

CLASS CustomerWindow INHERIT DataWindow
	EXPORT oDCPhone, oDCEmail AS SingleLineEdit
	PROTECT aCountries := {"DE", "FR", "NL"} AS ARRAY
	EXPORT oDCCountry AS LabelledEdit   /* picks from aCountries */

METHOD Init(oOwner) CLASS CustomerWindow
	SUPER:Init(oOwner)
	SELF:aCountries := {"DE", "FR", "NL", "BE"}
	RETURN SELF
