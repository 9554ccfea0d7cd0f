-- A factory preset chosen through Ardour's preset API, and the parameter
-- values Ardour shows before and after.
-- Arguments: session folder, the preset to load, then every factory preset
-- name the plug-in has.
local zarg = require("zarg")

zarg.run(function()
	local folder, preset = arg[1], arg[2]
	zarg.new_session(folder)
	local proc = zarg.insert(zarg.new_track("In"))
	local plugin = proc:to_insert():plugin(0)

	local missing = {}
	for i = 3, #arg do
		local record = plugin:preset_by_label(arg[i])
		if not (record and record.valid) then missing[#missing + 1] = arg[i] end
	end
	zarg.check("preset-list", #missing == 0, "not listed: " .. table.concat(missing, ", "))

	zarg.report_values("before", proc)
	zarg.check("preset-load", zarg.load_preset(proc, preset), "load_preset(" .. preset .. ")")
	-- What Ardour shows follows the preset only once process calls have run.
	zarg.settle()
	local current = plugin:last_preset()
	zarg.check("preset-current", current.valid and current.label == preset,
		"last_preset is '" .. tostring(current.label) .. "'")
	zarg.report_values("after", proc)
end)
