int ship_walk_count;
float ship_walk_verts[6];
int ship_walk_types[2];
int ship_walk_graph[1];

void ship_walk_init()
{
        ship_walk_count = 2;

        ship_walk_verts[0] = 1.5;
        ship_walk_verts[1] = 2;
        ship_walk_verts[2] = -0.25;
        ship_walk_verts[3] = 0;
        ship_walk_verts[4] = 3;
        ship_walk_verts[5] = 4;

        ship_walk_types[0] = 5;
        ship_walk_types[1] = 1;

        ship_walk_graph[0] = (0)*256 + (1);
}
