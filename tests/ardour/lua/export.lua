-- Rendering through a session export.
-- Arguments: "prepare", session folder, frames: a new session whose stereo
-- track holds one region of that length, saved; the driver then fills its
-- source files with the input.
-- Or "render", session folder, export folder, frames, export preset id,
-- then either "preset" and a factory preset name, or Label=value settings:
-- ZARG added to the track, set up so, and the session exported from 0.
local zarg = require("zarg")

local function prepare(folder, frames)
	zarg.new_session(folder)
	local track = zarg.new_track("In")
	-- ardour7-lua cannot import a file: bouncing the empty track makes a
	-- region with source files of its own, which the driver overwrites.
	local region = track:bounce_range(0, frames, ARDOUR.InterThreadInfo(), track:main_outs(), false, "input")
	assert(not region:isnil(), "the bounce made no region")
	local audio = region:to_audioregion()
	-- Fades would shape the input's first and last samples.
	audio:set_fade_in_active(false)
	audio:set_fade_out_active(false)
	track:playlist():add_region(region, Temporal.timepos_t(0), 1, false, 0, 0, false)
	for c = 0, audio:n_channels() - 1 do
		zarg.data("source", c, region:source(c):to_filesource():path())
	end
	zarg.data("block", Session:get_block_size())
	zarg.check("saved", Session:save_state("", false, false, false) == 0, "save_state")
end

local function render(folder, out, frames, preset_id, rest)
	zarg.load_session(folder)
	local track = zarg.track("In")
	local proc = zarg.insert(track)
	if rest[1] == "preset" then
		zarg.check("preset-load", zarg.load_preset(proc, rest[2]), "load_preset(" .. rest[2] .. ")")
	else
		zarg.apply(proc, rest)
	end
	local export = Session:simple_export()
	export:set_folder(out)
	export:set_range(0, frames)
	assert(export:set_preset(preset_id), "no export preset " .. preset_id)
	zarg.check("export", export:run_export(), "run_export")
end

zarg.run(function()
	if arg[1] == "prepare" then
		prepare(arg[2], assert(tonumber(arg[3])))
	else
		render(arg[2], arg[3], assert(tonumber(arg[4])), arg[5], { table.unpack(arg, 6) })
	end
end)
