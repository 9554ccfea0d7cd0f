-- The parameter list Ardour shows for ZARG on a new stereo track.
-- Arguments: session folder.
local zarg = require("zarg")

zarg.run(function()
	zarg.new_session(arg[1])
	local proc = zarg.insert(zarg.new_track("In"))
	for _, p in ipairs(zarg.inputs(proc)) do
		zarg.data("parameter", p.index, p.label)
	end
end)
